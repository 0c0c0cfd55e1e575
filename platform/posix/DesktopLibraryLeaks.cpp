// The leak checker of sanitizer builds, told about what the desktop libraries under the
// Linux backends lose, once per process: fontconfig (FreeType text) a few hundred bytes
// while parsing its configuration, libdbus (which SDL loads) about a kilobyte at exit.
// The checker takes one list for the whole program, so this file is compiled into each
// program that links either backend, never into a library.

// GCC says it builds with AddressSanitizer by a macro, clang by a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define TACHORA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TACHORA_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(TACHORA_ADDRESS_SANITIZER)
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libdbus-1.so\n";
}
// Known and suppressed: no statistics about them on stderr at every exit.
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif
