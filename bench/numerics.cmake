if(TARGET model_math AND TARGET model_growth)
  tq_bench(bench_numerics SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_numerics.cpp
           DEPS model_math model_growth)
endif()
