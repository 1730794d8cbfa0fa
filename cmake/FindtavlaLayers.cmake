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
# others beside itself (findTavla starts Tavla from there).
function(ft_program target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()
