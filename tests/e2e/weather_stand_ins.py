"""Stand-ins for the weather services on 127.0.0.1, over HTTPS with the test
certificates of tests/support/test_certs.sh, for the end-to-end weather test.

Each service reads what to answer from a file in the work folder, so the test
can change it while the program runs: "<name>.status" holds the HTTP status to
answer with (the brand's feed starts with 503, the others with 200) and
"<name>.temperature" the temperature of its forecast. Every request is logged to
"requests.log" as a line: service, path, User-Agent, If-Modified-Since.

MET Norway's stand-in answers a Locationforecast "compact" document that
expires an hour after it is sent, and 304 to a request that asks whether it
changed since its Last-Modified. Bright Sky's answers its /weather document.

usage: weather_stand_ins.py WORK_FOLDER
"""
import email.utils
import http.server
import json
import os
import ssl
import sys
import threading
import time

work = sys.argv[1]
LAST_MODIFIED = "Wed, 09 Dec 2026 06:00:00 GMT"
SERVICES = [
    # name, port, certificate, key, default status
    ("brand", 8460, "good.pem", "server.key", 503),
    ("metno", 8461, "good.pem", "server.key", 200),
    ("brightsky", 8462, "good.pem", "server.key", 200),
    ("expired", 8463, "expired.pem", "server.key", 200),
    ("stranger", 8464, "stranger.pem", "stranger.key", 200),
]
log_lock = threading.Lock()


def setting(name, what, default):
    try:
        with open(os.path.join(work, f"{name}.{what}")) as f:
            return f.read().strip() or default
    except OSError:
        return default


def hours(count):
    start = int(time.time()) // 3600 * 3600 - 3600
    return [start + 3600 * i for i in range(count)]


def iso(seconds, suffix):
    return time.strftime("%Y-%m-%dT%H:%M:%S", time.gmtime(seconds)) + suffix


def metno_body(temperature):
    series = [{"time": iso(t, "Z"), "data": {
        "instant": {"details": {"air_temperature": temperature, "wind_speed": 3.0, "wind_from_direction": 270.0}},
        "next_1_hours": {"summary": {"symbol_code": "clearsky_day"}, "details": {"precipitation_amount": 0.0}}}}
        for t in hours(48)]
    return {"type": "Feature", "geometry": {"type": "Point", "coordinates": [19.47, 51.75, 200]},
            "properties": {"meta": {"updated_at": iso(hours(1)[0], "Z"), "units": {}}, "timeseries": series}}


def brightsky_body(temperature):
    return {"weather": [{"timestamp": iso(t, "+00:00"), "temperature": temperature, "precipitation": 0.0,
                         "wind_speed": 10.8, "wind_direction": 90, "cloud_cover": 0, "condition": "dry",
                         "icon": "clear-day"} for t in hours(48)], "sources": []}


def handler_for(name, default_status):
    class Answer(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            asked = self.headers.get("If-Modified-Since", "")
            with log_lock, open(os.path.join(work, "requests.log"), "a") as log:
                log.write(f"{name}\t{self.path}\t{self.headers.get('User-Agent', '')}\t{asked}\n")
            status = int(setting(name, "status", str(default_status)))
            temperature = float(setting(name, "temperature", "12.5"))
            headers = {}
            body = b""
            if status == 200 and name == "brand":
                body = (f"<ZORLA><WEATHER><ENTRY>Bremen<TEMP>{temperature}</TEMP></ENTRY></WEATHER></ZORLA>").encode()
            elif status == 200 and name == "brightsky":
                body = json.dumps(brightsky_body(temperature)).encode()
            elif status == 200:
                headers["Expires"] = email.utils.formatdate(time.time() + 3600, usegmt=True)
                headers["Last-Modified"] = LAST_MODIFIED
                if asked == LAST_MODIFIED:
                    status = 304
                else:
                    body = json.dumps(metno_body(temperature)).encode()
            elif status in (429, 503):
                headers["Retry-After"] = "120"
            self.send_response(status)
            for key, value in headers.items():
                self.send_header(key, value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass
    return Answer


for name, port, certificate, key, default_status in SERVICES:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(work, certificate), os.path.join(work, key))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler_for(name, default_status))
    server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
threading.Event().wait()
