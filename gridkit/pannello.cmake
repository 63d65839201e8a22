# gridkit_pannello: the decorated panel (TAdvancedPanel) with its border,
# bevels and wallpaper, and the alignment of child controls.
add_library(gridkit_pannello STATIC
  ${CMAKE_CURRENT_LIST_DIR}/pannelloallineamento.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellofigli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellolati.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellocornici.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannelloriquadro.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellobordo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellosmusso.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellosfondo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellopittore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannellosemplice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pannelloavanzato.cpp
)
target_include_directories(gridkit_pannello PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(gridkit_pannello PUBLIC Qt6::Widgets)
