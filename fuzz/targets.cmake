# The fuzz harnesses: fuzz/<name>_fuzz.cpp for each name, its seed inputs in
# fuzz/seeds/<name>/ and the inputs it ever failed on in
# tests/data/fuzz-regressions/<name>/. Used by the fuzz build (fuzz/) and by the
# replay of kept inputs (tests/).
set(KORVEX_FUZZ_TARGETS
    font font_range set sets colour project project_keys text_number ved2 sved2 ranb png bmp
    cli_args recovery picture_screen)

# Sources a harness needs beyond core and formats, relative to the source folder.
set(KORVEX_FUZZ_EXTRA_cli_args src/cli/arguments.cpp src/cli/option_values.cpp)

# The sources of harness `name` (absolute paths) into `out`.
function(korvex_fuzz_sources name out)
    set(sources ${CMAKE_SOURCE_DIR}/fuzz/${name}_fuzz.cpp)
    foreach(extra ${KORVEX_FUZZ_EXTRA_${name}})
        list(APPEND sources ${CMAKE_SOURCE_DIR}/${extra})
    endforeach()
    set(${out} ${sources} PARENT_SCOPE)
endfunction()
