# korvex_embed(input symbol output): writes a C++ source that defines
#   const std::uint8_t korvex::<symbol>[] and const std::size_t korvex::<symbol>Size
# holding the bytes of <input>. Regenerated whenever <input> changes.
function(korvex_embed input symbol output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
    file(READ ${input} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
                         "\\1\n" bytes "${bytes}")
    set(content "// Generated from ${input}; do not edit.\n#include <cstddef>\n#include <cstdint>\n\nnamespace korvex {\nextern const std::uint8_t ${symbol}[];\nextern const std::size_t ${symbol}Size;\nconst std::uint8_t ${symbol}[] = {\n${bytes}};\nconst std::size_t ${symbol}Size = sizeof(${symbol});\n}\n")
    if(EXISTS ${output})
        file(READ ${output} old)
    endif()
    if(NOT "${old}" STREQUAL "${content}")
        file(WRITE ${output} "${content}")
    endif()
endfunction()
