# How a target of Vardo is built, written once.
#
# vardo_target(<target>) gives one of our own targets the project's discipline: warnings on and the
# Qt switches that keep strings explicit (u"..."_s), connections typed and Qt's lower-case keywords
# (signals, slots, emit) out. They are PRIVATE: a project that links a Vardo library gets none of
# them. Its headers are included by their folder from the source root ("bench/row.h").
#
# vardo_library(<target>) is that for a library, plus what its users need and get: C++20 and the
# source root as include directory, so that they include its headers by their folder too
# ("core/fixed.h").

function(vardo_target target)
    target_compile_options(${target} PRIVATE
        $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic>)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

function(vardo_library target)
    vardo_target(${target})
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
endfunction()
