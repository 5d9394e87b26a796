# One interface target carries the language level, warnings and Qt strictness for every target.
option(VELLUM_WERROR "Treat compiler warnings as errors (the test build turns it on)" OFF)

set(CMAKE_CXX_EXTENSIONS OFF)

# Shared with the sqlite3 extension, which cannot link vellum_common (no sanitizers there).
set(VELLUM_WARNINGS
  -Wall -Wextra -Wpedantic
  -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(VELLUM_WERROR)
  list(APPEND VELLUM_WARNINGS -Werror)
endif()
# QT_DISABLE_DEPRECATED_UP_TO is read from Qt 6.5 on; Qt 6.4 reads QT_DISABLE_DEPRECATED_BEFORE.
set(VELLUM_QT_DEFINITIONS
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_UP_TO=0x060400
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)

add_library(vellum_common INTERFACE)
target_compile_features(vellum_common INTERFACE cxx_std_20)
target_compile_options(vellum_common INTERFACE ${VELLUM_WARNINGS})
target_compile_definitions(vellum_common INTERFACE
  ${VELLUM_QT_DEFINITIONS}
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS)
if(VELLUM_SANITIZE)
  target_compile_options(vellum_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vellum_common INTERFACE -fsanitize=address,undefined)
endif()
