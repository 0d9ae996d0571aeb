/* The program's name, version and copyright notice, in one place: the C++
   code, the resource script and the release scripts all read them here. */
#ifndef QUIMBEL_VERSION_H
#define QUIMBEL_VERSION_H

#define QUIMBEL_VERSION_MAJOR 1
#define QUIMBEL_VERSION_MINOR 0
#define QUIMBEL_VERSION_PATCH 0
#define QUIMBEL_STRING2(x) #x
#define QUIMBEL_STRING(x) QUIMBEL_STRING2(x)
/* "1.0", as the Info tab shows it, and "1.0.0" for files and releases. */
#define QUIMBEL_VERSION_SHORT \
  QUIMBEL_STRING(QUIMBEL_VERSION_MAJOR) "." QUIMBEL_STRING(QUIMBEL_VERSION_MINOR)
#define QUIMBEL_VERSION QUIMBEL_VERSION_SHORT "." QUIMBEL_STRING(QUIMBEL_VERSION_PATCH)

/* The name the system lists the running program under. */
#define QUIMBEL_PROGRAM_TITLE "Quimbel advance starter"
/* UTF-8; the resource script says so with its code page. */
#define QUIMBEL_COPYRIGHT "© 2001 Pieter Lindhout"

#endif
