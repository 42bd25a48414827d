# Run by the `package` target: stages the files a user gets, then makes the
# installer and the portable zip from the same staged copy.
foreach(var MAKENSIS NSI PRODUCT VERSION EXE DOCS ICON STAGE_DIR SETUP ZIP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_package.cmake: ${var} is not set")
  endif()
endforeach()

# The zip unpacks into one folder named after the product.
set(stage ${STAGE_DIR}/${PRODUCT})
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${stage})
file(COPY_FILE ${EXE} ${stage}/trevalon.exe)
# DOCS: the help files to ship, separated by "|" (may be empty).
string(REPLACE "|" ";" docs "${DOCS}")
foreach(doc IN LISTS docs)
  get_filename_component(doc_name "${doc}" NAME)
  file(COPY_FILE "${doc}" "${stage}/${doc_name}")
endforeach()

get_filename_component(package_dir ${SETUP} DIRECTORY)
file(MAKE_DIRECTORY ${package_dir})
file(REMOVE ${SETUP} ${ZIP})
execute_process(
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8
    -DVERSION=${VERSION} -DPRODUCT=${PRODUCT} -DSTAGE_DIR=${stage}
    -DICON=${ICON} -DOUTFILE=${SETUP} ${NSI}
  RESULT_VARIABLE nsis_result)
if(NOT nsis_result EQUAL 0)
  message(FATAL_ERROR "makensis failed (${nsis_result})")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${PRODUCT}
  WORKING_DIRECTORY ${STAGE_DIR}
  RESULT_VARIABLE zip_result)
if(NOT zip_result EQUAL 0)
  message(FATAL_ERROR "making ${ZIP} failed (${zip_result})")
endif()
