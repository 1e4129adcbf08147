# Certificates for the tests' HTTPS servers on 127.0.0.1, all for "localhost":
# a test authority (ca.pem, and ca.der for the test to trust in its own Wine
# prefix), a server certificate from it (good.pem), an expired one from it
# (expired.pem), both with server.key, and one from an authority nobody trusts
# (stranger.pem, stranger.key). Sourced by the scripts that start the servers.
#
# usage: make_test_certs DIR
make_test_certs() {
  local dir=$1
  quiet() { "$@" >/dev/null 2>&1; }
  (
  cd "$dir"
  quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 3650 \
    -subj "/CN=Zorla Test Authority"
  openssl x509 -in ca.pem -outform der -out ca.der
  quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout stranger.key -out stranger.pem -days 3650 \
    -subj "/CN=localhost" -addext "subjectAltName=DNS:localhost"
  quiet openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj "/CN=localhost"
  printf 'subjectAltName=DNS:localhost\nextendedKeyUsage=serverAuth\n' >server.ext
  quiet openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out good.pem -days 365 \
    -extfile server.ext
  # An expired certificate needs dates in the past, which only "openssl ca" takes.
  mkdir db
  : >db/index.txt
  echo 1000 >db/serial
  cat >ca.cnf <<CNF
[ca]
default_ca = test
[test]
database = $dir/db/index.txt
serial = $dir/db/serial
new_certs_dir = $dir/db
default_md = sha256
policy = any
[any]
commonName = supplied
[server]
subjectAltName = DNS:localhost
extendedKeyUsage = serverAuth
CNF
  quiet openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in server.csr -out expired.pem -notext \
    -startdate 20200101000000Z -enddate 20200201000000Z -extensions server
  )
}
