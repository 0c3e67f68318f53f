# Delay-import libraries: a program linked with one loads the DLL at the first call of one of its
# functions instead of at start-up.
#   add_delay_import(TARGET DLL FUNCTION ARGUMENT_BYTES [FUNCTION ARGUMENT_BYTES ...])
# ARGUMENT_BYTES is what the 32-bit stdcall name carries after its @.
# A function declared dllimport is called through its import slot only; the i686 linker then
# drops the stub that the slot starts out pointing to, and the first call jumps to address 0.
# Each function's stub is therefore asked for by name.
function(add_delay_import target dll)
    set(exports "")
    set(stubs "")
    set(arguments ${ARGN})
    while(arguments)
        list(POP_FRONT arguments function bytes)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(APPEND exports "    ${function}@${bytes}\n")
            list(APPEND stubs "LINKER:-u,_${function}@${bytes}")
        else()
            string(APPEND exports "    ${function}\n")
            list(APPEND stubs "LINKER:-u,${function}")
        endif()
    endwhile()
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a)
    file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}")
    # --kill-at: the DLL exports the names without their @ suffix. Run where the library goes:
    # dlltool names a symbol of the library after the path it is given.
    add_custom_command(OUTPUT ${library}
                       COMMAND ${CMAKE_DLLTOOL} --kill-at -d ${target}.def -y lib${target}.a -D ${dll}
                       DEPENDS ${def}
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    add_custom_target(${target}_library DEPENDS ${library})
    add_library(${target} INTERFACE)
    add_dependencies(${target} ${target}_library)
    target_link_libraries(${target} INTERFACE ${library})
    target_link_options(${target} INTERFACE ${stubs})
endfunction()
