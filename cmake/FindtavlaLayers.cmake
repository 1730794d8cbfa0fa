# Every source folder is a static library of its own. A library sees only the
# headers of itself and of the libraries it links: its include root holds one
# link, named like its folder under src/ (core/formats, ui/search, ...), to its
# own sources. So `#include "ui/widgets/tsk_button.h"` in a core library does
# not compile, and the layers can only be used downward.
function(ft_add_layer target folder)
  add_library(${target} STATIC)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
  endif()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC findtavla_options)
endfunction()

# The programs of the project share one output folder, so each finds the
# others beside itself (findTavla starts Tavla from there). On Windows each
# carries the program's icon.
function(ft_program target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  if(WIN32)
    ft_windows_icon(${target})
  endif()
endfunction()

# A Windows program's icon is a resource inside its .exe: Explorer, the Start
# menu and the task bar show it, and Qt gives it to every window that has no
# icon of its own (it loads the resource named IDI_ICON1), which is the case
# there, since the themed icons of the Linux build are not installed. The
# .ico is made at build time from the same drawing as the Linux icons.
function(ft_windows_icon target)
  set(folder ${PROJECT_BINARY_DIR}/windows-icon)
  set(ico ${folder}/findtavla.ico)
  set(rc ${folder}/findtavla.rc)
  if(NOT TARGET findtavla_windows_icon)
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
    find_program(ICOTOOL icotool REQUIRED)
    set(svg ${PROJECT_SOURCE_DIR}/packaging/icons/findtavla.svg)
    set(small)
    foreach(size 16 24 32 48 64)
      list(APPEND small ${folder}/${size}.png)
      add_custom_command(OUTPUT ${folder}/${size}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${svg} -o ${folder}/${size}.png
        DEPENDS ${svg})
    endforeach()
    # The large size is kept as PNG inside the .ico, as Windows expects.
    add_custom_command(OUTPUT ${folder}/256.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${RSVG_CONVERT} -w 256 -h 256 ${svg} -o ${folder}/256.png
      DEPENDS ${svg})
    add_custom_command(OUTPUT ${ico}
      COMMAND ${ICOTOOL} -c -o ${ico} ${small} --raw=${folder}/256.png
      DEPENDS ${small} ${folder}/256.png
      COMMENT "Windows icon")
    file(MAKE_DIRECTORY ${folder})
    file(WRITE ${rc} "IDI_ICON1 ICON \"${ico}\"\n")
    add_custom_target(findtavla_windows_icon DEPENDS ${ico})
  endif()
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
  add_dependencies(${target} findtavla_windows_icon)
endfunction()
