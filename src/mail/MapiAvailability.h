#pragma once

// True when a Simple MAPI mail client is installed: WIN.INI's [MAIL] MAPI is
// not 0 and MAPI32.DLL is on the standard search path. Worked out on the first
// call and kept for the life of the process.
bool IsMapiAvailable();

// Makes the next IsMapiAvailable look again (tests change the installation).
void ForgetMapiAvailability();
