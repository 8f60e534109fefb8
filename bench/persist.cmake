if(TARGET tallora_storage)
  tq_bench(bench_persist SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_persist.cpp DEPS tallora_storage)
endif()
