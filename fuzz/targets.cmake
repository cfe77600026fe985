# The fuzz harnesses: fuzz/<name>_fuzz.cpp for each name, its seed inputs in
# fuzz/seeds/<name>/ (written by make_fuzz_seeds) and fuzz/seeds-kept/<name>/ (files
# other programs wrote, kept as they are), and the inputs it ever failed on in
# tests/data/fuzz-regressions/<name>/. Used by the fuzz build (fuzz/) and by the
# replay of kept inputs (tests/).
set(KORVEX_FUZZ_TARGETS
    font font_range set sets colour project project_keys text_number ved2 sved2 ranb png bmp
    cli_args recovery tmx picture_screen)

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
