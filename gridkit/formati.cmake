# gridkit_formati: the byte formats of the enhanced table (name block,
# TInfoStream container, version record) and the field definition strings.
add_library(gridkit_formati STATIC
  ${CMAKE_CURRENT_LIST_DIR}/bloccononome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/infostream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/versione.cpp
  ${CMAKE_CURRENT_LIST_DIR}/definizionecampo.cpp
)
target_include_directories(gridkit_formati PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(gridkit_formati PUBLIC Qt6::Core)
