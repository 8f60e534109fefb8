if(TARGET model_growth)
  tq_bench(bench_species SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_species.cpp DEPS model_growth)
endif()
