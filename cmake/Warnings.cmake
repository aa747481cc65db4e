# Warnings are errors on the project's own code. Third-party headers come in
# as system includes (imported targets), so they do not trip these.
add_library(kc_warnings INTERFACE)
target_compile_options(kc_warnings INTERFACE -Wall -Wextra -Werror -Wshadow)

# Stricter set for the plain-C++ layers where byte and word widths matter.
add_library(kc_strict_warnings INTERFACE)
target_compile_options(kc_strict_warnings INTERFACE -Wconversion -Wsign-conversion)
target_link_libraries(kc_strict_warnings INTERFACE kc_warnings)
