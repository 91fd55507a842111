# The system itself: one core compiled once, and the two flavours of the
# TeskDataProvider library that link it, each in its own folder.

add_library(TeskProviderCore OBJECT
  recordset/RecordsetAdapter.cpp recordset/ColumnRoleTable.cpp recordset/ColumnUnits.cpp recordset/LinkedDepth.cpp
  recordset/SurveyField.cpp
  provider/RecordsetDispatch.cpp survey/WellSurveyCore.cpp)
target_include_directories(TeskProviderCore PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/TeskDataProvider>)
target_link_libraries(TeskProviderCore PUBLIC TeskPlatformDb TeskPlatformWin32 TeskPlatformText TeskDataFactory QoClient)

# tesk_add_flavour(TARGET FOLDER SOURCES ... DEPS ...)
function(tesk_add_flavour target folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES} $<TARGET_OBJECTS:TeskProviderCore>)
  add_library(Tesk::${target} ALIAS ${target})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/TeskDataProvider>)
  target_link_libraries(${target} PUBLIC TeskPlatformDb TeskPlatformWin32 TeskPlatformText TeskDataFactory QoClient ${ARG_DEPS})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME TeskDataProvider
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${folder}
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  install(TARGETS ${target} EXPORT TeskDataProviderTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/TeskDataProvider/${folder})
endfunction()

tesk_add_flavour(TeskDataProviderManaged managed
  SOURCES managed/ManagedModule.cpp recordset/ManagedRecordset.cpp recordset/ManagedFieldExchange.cpp
    recordset/ManagedLinkedDepth.cpp recordset/ManagedSurveyField.cpp
    provider/ManagedDataProvider.cpp provider/ManagedProjectQueries.cpp
    managed/DataProvider.cpp managed/ManagedRecordset.cpp survey/ManagedWellSurvey.cpp
  DEPS TeskPlatformClr Ambrel)
target_compile_options(TeskDataProviderManaged PRIVATE -fno-semantic-interposition)
tesk_add_flavour(TeskDataProviderAutomation automation
  SOURCES automation/AutomationModule.cpp recordset/TeskRecordset.cpp recordset/AutomationFieldExchange.cpp
    recordset/LosslessCoercion.cpp recordset/AutomationLinkedDepth.cpp provider/DataProvider.cpp
    provider/ProjectQueries.cpp survey/WellSurvey.cpp
  DEPS TeskPlatformCom)
target_compile_options(TeskDataProviderAutomation PRIVATE -fno-semantic-interposition)

foreach(dir recordset provider survey managed automation services/Corvane services/DataTypes)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/TeskDataProvider/${dir}
      FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()
