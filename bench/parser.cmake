# Parser speed beside muparser (a peer for comparison, never linked into the programs).
tq_bench(bench_parser SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_parser.cpp DEPS parser)
find_package(PkgConfig REQUIRED)
pkg_check_modules(MUPARSER REQUIRED IMPORTED_TARGET muparser)
target_link_libraries(bench_parser PRIVATE PkgConfig::MUPARSER)
