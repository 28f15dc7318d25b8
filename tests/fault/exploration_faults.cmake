# Faults of an exploration, on real velmar-cli processes and real trees.
velmar_add_test(exploration_fault_tests exploration_faults_test.cpp exploration_walk_faults_test.cpp
                ${CMAKE_CURRENT_SOURCE_DIR}/../store/collection_fixture.cpp)
target_include_directories(exploration_fault_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/../store)
target_compile_definitions(exploration_fault_tests PRIVATE VELMAR_CLI_PATH="$<TARGET_FILE:velmar-cli>")
add_dependencies(exploration_fault_tests velmar-cli)
