# Bitmap fonts generated at build time with tarn_fontgen.
#
#   tarn_generate_font(<target> OUT <path.fnt> FONT <file.ttf> SIZE <pixels>
#                      [CHARS <ranges>] [PADDING <n>] [SPACING <n>])
#
# adds <target>, which writes <path.fnt> and its page (the same path ending in "png") whenever
# either is missing or older than the font file or the generator.

set(TARN_DEJAVU_SANS /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf CACHE FILEPATH
  "DejaVu Sans (Debian's fonts-dejavu-core), the face of the generated test and demo fonts")
set(TARN_DEJAVU_SANS_BOLD /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf CACHE FILEPATH
  "DejaVu Sans Bold (Debian's fonts-dejavu-core), the demo's title face")

function(tarn_generate_font target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUT;FONT;SIZE;CHARS;PADDING;SPACING" "")
  foreach(required OUT FONT SIZE)
    if(NOT arg_${required})
      message(FATAL_ERROR "tarn_generate_font(${target}): ${required} is missing")
    endif()
  endforeach()
  set(options --font ${arg_FONT} --size ${arg_SIZE} --out ${arg_OUT})
  foreach(optional CHARS PADDING SPACING)
    if(DEFINED arg_${optional})
      string(TOLOWER ${optional} flag)
      list(APPEND options --${flag} ${arg_${optional}})
    endif()
  endforeach()
  string(REGEX REPLACE "...$" "png" page ${arg_OUT})
  get_filename_component(dir ${arg_OUT} DIRECTORY)
  add_custom_command(OUTPUT ${arg_OUT} ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND tarn_fontgen ${options}
    DEPENDS tarn_fontgen ${arg_FONT}
    COMMENT "Generating bitmap font ${arg_OUT}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${arg_OUT} ${page})
endfunction()
