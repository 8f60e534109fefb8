# Rules on the link graph, checked while configuring:
#
#   tq_forbid_link(<target> FORBID <regex>...)
#     Stops the configuration when <target> reaches, through LINK_LIBRARIES
#     and INTERFACE_LINK_LIBRARIES, a name that matches one of the regular
#     expressions as a whole, naming the path of links that leads there. A
#     generator expression reaches every name in it, whichever way it
#     evaluates.
#
#   tq_targets_in(<out-var> <folder>)
#     The targets defined in the folder and in the folders added below it.

function(tq_forbid_link target)
  cmake_parse_arguments(ARG "" "" "FORBID" ${ARGN})
  # Breadth first: every name reached, and the path to it.
  set(names "${target}")
  set(paths "${target}")
  set(faults "")
  set(i 0)
  list(LENGTH names n)
  while(i LESS n)
    list(GET names ${i} name)
    list(GET paths ${i} path)
    set(links "")
    if(TARGET "${name}")
      foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(value "${name}" ${property})
        if(value)
          # $<...:a,b> gives a and b.
          string(REGEX REPLACE "\\$<[A-Za-z0-9_]*:?|>:?|," ";" value "${value}")
          list(APPEND links ${value})
        endif()
      endforeach()
    endif()
    # ::@ marks the links a folder adds to a target of another folder.
    list(FILTER links EXCLUDE REGEX "^::@")
    foreach(link IN LISTS links)
      if(NOT link IN_LIST names)
        list(APPEND names "${link}")
        list(APPEND paths "${path} -> ${link}")
        foreach(pattern IN LISTS ARG_FORBID)
          if(link MATCHES "^(${pattern})$")
            string(APPEND faults "\n  ${path} -> ${link}   (forbidden: ${pattern})")
            break()
          endif()
        endforeach()
      endif()
    endforeach()
    math(EXPR i "${i} + 1")
    list(LENGTH names n)
  endwhile()
  if(NOT faults STREQUAL "")
    message(FATAL_ERROR "Forbidden link from ${target}:${faults}")
  endif()
endfunction()

function(tq_targets_in out dir)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    tq_targets_in(more "${sub}")
    list(APPEND targets ${more})
  endforeach()
  set(${out} "${targets}" PARENT_SCOPE)
endfunction()
