// SPDX-License-Identifier: GPL-3.0-or-later
// Built only with QX_SANITIZE: what the leak checker should pass over.
// Libraries below us keep caches for the life of the process (fonts,
// X11, Qt's plugins); they are no leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n"
         "leak:libfreetype\n"
         "leak:libX11\n"
         "leak:libxcb\n"
         "leak:libxkbcommon\n"
         "leak:libdbus\n"
         "leak:libglib\n"
         "leak:libQt6DBus\n"
         "leak:libQt6Core\n"
         "leak:libQt6Gui\n"
         "leak:libQt6Multimedia\n"
         "leak:libqoffscreen\n"
         "leak:libgst\n"
         "leak:libpulse\n";
}
