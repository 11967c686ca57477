# Copies data/ (Lang, icon, curseur) beside the executables, keeping files
# the editor rewrote there (Francais.lng is regenerated at every start).
file(GLOB_RECURSE items RELATIVE ${SRC} ${SRC}/*)
foreach(item IN LISTS items)
  get_filename_component(dir ${DST}/${item} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${SRC}/${item} ${DST}/${item} ONLY_IF_DIFFERENT)
endforeach()
file(MAKE_DIRECTORY ${DST}/Lang ${DST}/icon ${DST}/curseur)
