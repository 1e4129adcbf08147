#pragma once

// Trusts the test certificate authority named by ZORLA_TEST_AUTHORITY (a DER
// file, made by tests/support/test_certs.sh) in this Wine prefix's roots, as a
// user's own authority would be; false without one.
bool TrustTestAuthority();
