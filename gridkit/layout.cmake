# gridkit_layout: the stored column layout of the enhanced grid (byte
# stream, hexadecimal pieces, registry and ini file stores).
add_library(gridkit_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/layoutgriglia.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layoutesadecimale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layoutregistro.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layoutini.cpp
)
target_include_directories(gridkit_layout PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(gridkit_layout PUBLIC Qt6::Core registro)
