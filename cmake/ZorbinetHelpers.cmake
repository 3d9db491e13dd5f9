# The sizes of the application icon's pictures, one list for the build, the install and the
# script that draws them (tools/make-icons.sh).
file(READ ${CMAKE_CURRENT_LIST_DIR}/../resources/desktop/icon-sizes ZB_ICON_SIZES)
string(STRIP "${ZB_ICON_SIZES}" ZB_ICON_SIZES)
separate_arguments(ZB_ICON_SIZES)

# Each source folder is one library whose files are picked up by globbing, so adding a
# file never means editing a list that several people touch at once.
function(zb_glob out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# A library made of the folder src/<dir>. Its headers are reached as "<dir>/name.h" through an
# include root that holds that folder alone, and a library sees only the roots of what it links:
# a header of a folder that is not a dependency is not found, so a wrong-way include fails to
# build instead of quietly tangling the layers.
# Further arguments name files of the folder that stay out of the library (a main()).
function(zb_layer name dir)
  zb_glob(sources ${dir})
  foreach(skip IN LISTS ARGN)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/${skip})
  endforeach()
  add_library(${name} STATIC ${sources})
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  get_filename_component(parent ${root}/${dir} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${dir})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${dir} ${root}/${dir} SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC ${root})
endfunction()
