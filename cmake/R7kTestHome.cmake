# r7k_test_home(test...): the tests run with their home, data and
# configuration folders in the build tree, so that nothing a test does lands
# in the user's own folders. It adds to each test's environment rather than
# replacing it; call it where the tests are added.
function(r7k_test_home)
    set(home ${PROJECT_BINARY_DIR}/test-home)
    file(MAKE_DIRECTORY ${home})
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT_MODIFICATION
                 HOME=set:${home} XDG_CONFIG_HOME=set:${home}/.config
                 XDG_DATA_HOME=set:${PROJECT_BINARY_DIR}/test-data)
endfunction()
