# Configures, builds and runs the consumer project in BINARY_DIR with GENERATOR (cmake -P).
foreach(var SOURCE_DIR BINARY_DIR GENERATOR CXX_COMPILER)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "run.cmake needs -D${var}=...")
    endif()
endforeach()
set(extra)
if(MAKE_PROGRAM)
    list(APPEND extra -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM})
endif()
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G ${GENERATOR}
            -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=Debug ${extra}
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${BINARY_DIR}/consumer COMMAND_ERROR_IS_FATAL ANY)
