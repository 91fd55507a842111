include(CMakePackageConfigHelpers)
set(TESK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TeskDataProvider)
install(EXPORT TeskDataProviderTargets NAMESPACE Tesk:: DESTINATION ${TESK_CMAKE_DIR})
configure_package_config_file(cmake/TeskDataProviderConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/TeskDataProviderConfig.cmake INSTALL_DESTINATION ${TESK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TeskDataProviderConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TeskDataProviderConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/TeskDataProviderConfigVersion.cmake DESTINATION ${TESK_CMAKE_DIR})
