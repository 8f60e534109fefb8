if(TARGET model_growth)
  tq_bench(bench_simulation SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_simulation.cpp DEPS model_growth)
endif()
