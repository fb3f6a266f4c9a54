# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the build's date into OUT; honours SOURCE_DATE_EPOCH.
string(TIMESTAMP date "%y-%m-%d")
set(text "// SPDX-License-Identifier: GPL-3.0-or-later\n// Generated at build time.\n#include \"platform/Version.h\"\n\nnamespace qx {\nconst char* const kCompileDate = \"${date}\";\n}  // namespace qx\n")
file(WRITE "${OUT}.new" "${text}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
