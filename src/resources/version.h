#pragma once
// The program's name, version, copyright and icon, in one place: the resource script builds the version
// resource from them, CMake the manifest's version, and the installer script (scripts/installer.nsi)
// reads the same lines with !searchparse, so each stays a plain #define of one literal. UTF-8, like
// every source; the resource script reads it as such.

#define VESH_PRODUCT_NAME "Вещехран"
#define VESH_VERSION_MAJOR 1
#define VESH_VERSION_MINOR 41
#define VESH_RELEASE_DATE "14.11.2003"
#define VESH_FILE_DESCRIPTION "Вещехран - каталог вещей, отданных на время"
#define VESH_COPYRIGHT "© 2003 Авторы программы Вещехран"
#define VESH_PROGRAM_FILE "veshchehran"
#define VESH_ICON_FILE "app.ico"
