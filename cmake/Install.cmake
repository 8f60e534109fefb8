# `cmake --install`: the programs and the default data files they read
# beside them in <prefix>/lib/tallora-quorva/ (they look for their data in
# the executable's folder), a link in <prefix>/bin/ to each program, and each
# program's desktop entry and icon. Included after every folder: a program
# whose target does not exist is left out. The configuration also writes
# tq-programs.txt in the build folder, one existing program per line, for
# the start scripts.

set(TQ_INSTALL_APPDIR lib/tallora-quorva)
set(TQ_PROGRAMS tallora quorva)

set(tq_data_files Produtos.dat Formulas.dat Simulation.dat Custo.dat Plano1.dat)
list(TRANSFORM tq_data_files PREPEND ${TQ_BIN_DIR}/)
install(FILES ${tq_data_files} DESTINATION ${TQ_INSTALL_APPDIR})

set(tq_present "")
foreach(program IN LISTS TQ_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  string(APPEND tq_present "${program}\n")
  install(TARGETS ${program} RUNTIME DESTINATION ${TQ_INSTALL_APPDIR})
  # A relative link, made here and installed as a link: the prefix may move.
  set(link ${CMAKE_BINARY_DIR}/install-links/${program})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
  file(CREATE_LINK ../${TQ_INSTALL_APPDIR}/${program} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION bin)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${program}.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/${program}.svg DESTINATION share/icons/hicolor/scalable/apps)
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/tq-programs.txt "${tq_present}")
