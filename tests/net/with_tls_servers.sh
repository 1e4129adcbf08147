#!/usr/bin/env bash
# Runs the net suite's HTTPS tests against servers on 127.0.0.1 that this script
# starts with Python's ssl module, each with a certificate made here: one from a
# test authority (port 8443), an expired one from it (8444), one from an
# authority nobody trusts (8445), and good ones that redirect to plain http
# (8446) and to https (8447), and a good one that answers 304 to the request
# headers the test sends (8448). The test trusts the test authority inside its own prefix only.
# ctest runs it inside tools/test.sh, which sets up Wine.
#
# usage: with_tls_servers.sh PATH/TO/net_tests.exe
set -euo pipefail
tests_exe=$1
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../support/test_certs.sh"
make_test_certs "$work"
cd "$work"

cat >serve.py <<'PY'
import http.server, ssl, sys
port, cert, key, mode = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
class Answer(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if mode == "conditional":
            asked = (self.headers.get("User-Agent") == "Zorla/2.0 weather@example.org"
                     and self.headers.get("If-Modified-Since") == "Sat, 05 Dec 2026 10:00:00 GMT")
            body = b"" if asked else b"<changed/>"
            self.send_response(304 if asked else 200)
            self.send_header("Last-Modified", "Sat, 05 Dec 2026 10:00:00 GMT")
            if not asked:
                self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        if mode.startswith("redirect"):
            self.send_response(302)
            where = "https://localhost:8443/moved.xml" if mode == "redirect-https" else "http://127.0.0.1:8080/plain.xml"
            self.send_header("Location", where)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        body = b"<secure/>"
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Answer)
server.socket = context.wrap_socket(server.socket, server_side=True)
server.serve_forever()
PY
python3 serve.py 8443 good.pem server.key body & pids+=($!)
python3 serve.py 8444 expired.pem server.key body & pids+=($!)
python3 serve.py 8445 stranger.pem stranger.key body & pids+=($!)
python3 serve.py 8446 good.pem server.key redirect & pids+=($!)
python3 serve.py 8447 good.pem server.key redirect-https & pids+=($!)
python3 serve.py 8448 good.pem server.key conditional & pids+=($!)
for port in 8443 8444 8445 8446 8447 8448; do
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done
done
authority=$(winepath -w "$work/ca.der" </dev/null | tr -d '\r')
ZORLA_TEST_AUTHORITY=$authority wine "$tests_exe" --gtest_filter='HttpsChild.*' </dev/null | tr -d '\r'
