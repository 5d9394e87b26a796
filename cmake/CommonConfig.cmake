# One interface target carries the language level, warnings and Qt strictness for every target.
add_library(vellum_common INTERFACE)
target_compile_features(vellum_common INTERFACE cxx_std_20)
target_compile_options(vellum_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(vellum_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS)
if(VELLUM_SANITIZE)
  target_compile_options(vellum_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vellum_common INTERFACE -fsanitize=address,undefined)
endif()
