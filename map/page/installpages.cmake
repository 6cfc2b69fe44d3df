# Puts the map page files beside the program: the template as it is, and the
# ready-made page shown when no page can be generated, which is the template
# in English. Run as: cmake -DTEMPLATE=... -DOUT_DIR=... -P installpages.cmake
file(MAKE_DIRECTORY "${OUT_DIR}")
configure_file("${TEMPLATE}" "${OUT_DIR}/map.txt" COPYONLY)
file(READ "${TEMPLATE}" page)
string(REPLACE "language" "en" page "${page}")
file(WRITE "${OUT_DIR}/Google-earth.html.new" "${page}")
file(RENAME "${OUT_DIR}/Google-earth.html.new" "${OUT_DIR}/Google-earth.html")
