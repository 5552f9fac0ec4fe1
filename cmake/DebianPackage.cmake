# What the Debian package needs beyond the installed program: copyright, changelog, manual page
# and an extended description, in the places and forms that lintian checks.

set(TIVORAL_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tivoral)

# The coloured syllables: the hyphenation library always, its German patterns where wanted
# (without them the words stay whole and the option says it is not available).
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libhyphen0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hyphen-de")

# The changelog's newest entry must be this version, or the package would claim another.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/debian/changelog newest_entry LIMIT_COUNT 1)
if(NOT newest_entry MATCHES "^tivoral \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/debian/changelog needs an entry for version ${PROJECT_VERSION}")
endif()

# Debian ships changelogs and manual pages compressed, without a time stamp in the gzip header.
set(compressed_docs)
foreach(doc tivoral.1 debian/changelog)
  get_filename_component(name ${doc} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/data/${doc}
                             ${output}
                     DEPENDS ${PROJECT_SOURCE_DIR}/data/${doc} VERBATIM)
  list(APPEND compressed_docs ${output})
endforeach()
add_custom_target(tivoral_compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tivoral.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz data/debian/copyright
        DESTINATION ${TIVORAL_PACKAGE_DOCDIR})

# The extended description is the metainfo's description: its paragraphs and list items as
# plain text, wrapped for the package tools. Semicolons would split CMake's lists, so they wait
# on a character that a description never holds.
string(ASCII 1 semicolon)
string(ASCII 2 paragraph_end)
set(DescriptionWidth 72)

function(tivoral_wrap text width out)
  string(REPLACE " " ";" words "${text}")
  set(wrapped "")
  set(line "")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(line STREQUAL "")
      set(line "${word}")
    elseif(length GREATER width)
      string(APPEND wrapped "${line}\n")
      set(line "${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  set(${out} "${wrapped}${line}" PARENT_SCOPE)
endfunction()

file(READ ${PROJECT_SOURCE_DIR}/data/de.tivoral.Tivoral.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<description>(.*)</description>")
  message(FATAL_ERROR "the metainfo has no description for the package")
endif()
string(REPLACE ";" "${semicolon}" text "${CMAKE_MATCH_1}")
string(REGEX REPLACE "</(p|li)>" "${paragraph_end}" text "${text}")
string(REGEX REPLACE "<[^>]*>" "" text "${text}")
string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
string(REPLACE "&lt${semicolon}" "<" text "${text}")
string(REPLACE "&gt${semicolon}" ">" text "${text}")
string(REPLACE "&quot${semicolon}" "\"" text "${text}")
string(REPLACE "&apos${semicolon}" "'" text "${text}")
string(REPLACE "&amp${semicolon}" "&" text "${text}")
string(REPLACE "${paragraph_end}" ";" paragraphs "${text}")
set(description "")
foreach(paragraph IN LISTS paragraphs)
  string(STRIP "${paragraph}" paragraph)
  if(paragraph STREQUAL "")
    continue()
  endif()
  tivoral_wrap("${paragraph}" ${DescriptionWidth} wrapped)
  if(NOT description STREQUAL "")
    string(APPEND description "\n\n")
  endif()
  string(APPEND description "${wrapped}")
endforeach()
string(REPLACE "${semicolon}" ";" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")

# Qt's own texts (text field menus, standard buttons) in German, as the program's are.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-translations-l10n")
# The editor's spell check links libhunspell and finds Debian's German dictionary at run time;
# without it the editor works as before and says so.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libhunspell-1.7-0")
string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", hunspell-de-de")

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
