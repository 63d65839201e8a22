# gridkit_griglia: the data-aware grid (TDBGrid, its model, columns, titles
# and indicator), the display formats, and the enhanced grid TNewDBGrid
# with its sort, title hint, boolean cells and stored layout.
add_library(gridkit_griglia STATIC
  ${CMAKE_CURRENT_LIST_DIR}/formato.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grigliacolonne.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grigliamodello.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grigliatitoli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grigliaindicatore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/griglia.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridimmagini.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridattesa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridordinamento.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridsuggerimento.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridbooleani.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridimpostazioni.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridchiusura.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridtrascina.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridadatta.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newdbgridopzioni.h
  ${CMAKE_CURRENT_LIST_DIR}/grigliainsieme.h
)
target_include_directories(gridkit_griglia PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(gridkit_griglia PUBLIC gridkit gridkit_layout messaggi registro aiuto Qt6::Widgets)
