# gridkit_browser: the record browser (TRecordBrowser), the navigation bar
# under the grids, with its data navigator (TDBNavigator).
add_library(gridkit_browser STATIC
  ${CMAKE_CURRENT_LIST_DIR}/navigatore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigatore.h
  ${CMAKE_CURRENT_LIST_DIR}/navigatoreglifi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordbrowser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordbrowser.h
  ${CMAKE_CURRENT_LIST_DIR}/recordbrowserglifo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordbrowserlink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordbrowsersalto.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordbrowsertasti.cpp
)
target_include_directories(gridkit_browser PUBLIC ${PROJECT_SOURCE_DIR})
# messaggi: errors of the dataset that no handler here catches go to the
# application's default error box.
target_link_libraries(gridkit_browser PUBLIC Qt6::Widgets tabelle messaggi)
