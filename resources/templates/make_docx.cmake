# Builds one report template: fills the shared XML parts with the labels of
# LABELS (one of t*.cmake) in STAGE and zips them into OUT.
# cmake -DSRC=<parts dir> -DLABELS=<file> -DSTAGE=<dir> -DOUT=<x.docx> -P make_docx.cmake
include(${LABELS})
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

if(T_KIND STREQUAL "general")
  set(T_HEADER_CONTENT_TYPE "<Override PartName=\"/word/header1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml\"/>")
  set(T_HEADER_RELATIONSHIP "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/header\" Target=\"header1.xml\"/>")
  set(T_FOOTER_ID rId5)
  set(parts "[Content_Types].xml" _rels/.rels docProps/core.xml docProps/app.xml
      word/_rels/document.xml.rels word/document.xml word/styles.xml word/settings.xml
      word/fontTable.xml word/header1.xml word/footer1.xml)
else()
  set(T_HEADER_CONTENT_TYPE "")
  set(T_HEADER_RELATIONSHIP "")
  set(T_FOOTER_ID rId4)
  set(parts "[Content_Types].xml" _rels/.rels docProps/core.xml docProps/app.xml
      word/_rels/document.xml.rels word/document.xml word/styles.xml word/settings.xml
      word/fontTable.xml word/footer1.xml)
endif()

foreach(part ${parts})
  if(part STREQUAL "word/document.xml")
    set(from ${SRC}/word/${T_KIND}.document.xml.in)
  elseif(EXISTS ${SRC}/${part}.in)
    set(from ${SRC}/${part}.in)
  else()
    set(from ${SRC}/${part})
  endif()
  configure_file(${from} ${STAGE}/${part} @ONLY)
endforeach()

# Content types first; a fixed time stamp keeps the archive reproducible.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT} --format=zip --mtime=2020-01-01 ${parts}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zipping ${OUT} failed: ${rc}")
endif()
