#pragma once

#include <string>

class CProgressWnd;

// Packs the program file into "<temp folder><name>.zip" so that a mail carries
// an archive instead of an executable. On entry `path` is the program file's
// full path and `title` its file name; on success `path` becomes the archive's
// full path and `title` "<name>.zip". An archive left from an earlier mail is
// reused only while it still holds this very program. When no archive can be
// written (folder not writable, disk full, file locked) both stay unchanged and
// the result is false, so that the caller never attaches a broken file.
// `progress` may be null.
bool ZipProgramForMail(std::string& path, std::string& title, CProgressWnd* progress);
