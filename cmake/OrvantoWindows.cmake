# Settings every Windows target shares: Unicode W functions, Windows 7 as the
# oldest target, a static runtime (no MinGW DLL next to the program) and the
# linker's hardening flags.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
add_link_options(-static -static-libgcc -static-libstdc++
                 -Wl,--dynamicbase -Wl,--nxcompat)
# Shipped binaries carry no symbol tables (they are most of their size).
add_link_options($<$<CONFIG:Release>:-s>)
