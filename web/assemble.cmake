# Gathers the page in WEB_DIR: the page's files (PAGE_FILES) and modules
# (PAGE_MODULES) from SOURCE_DIR, the icon, the description of the windows
# (DESCRIPTION) as js/windows.js, the modules joined into js/page.js by
# BUNDLE (run with PYTHON), and the service worker with the list of
# everything it keeps for offline use and a cache name made from a digest
# of all of it. The single modules stay beside the bundle, for the browser
# benchmark and tests that import them, but the page never loads them, so
# the worker does not keep them.
foreach(file IN LISTS PAGE_FILES PAGE_MODULES)
    configure_file(${SOURCE_DIR}/${file} ${WEB_DIR}/${file} COPYONLY)
endforeach()
configure_file(${ICON} ${WEB_DIR}/icon.svg COPYONLY)
set(MODULE ${WEB_DIR}/js/windows.js)
include(${DESCRIBE_WINDOWS})
execute_process(
    COMMAND ${PYTHON} ${BUNDLE} ${WEB_DIR}/js/main.js ${WEB_DIR}/js/page.js
    COMMAND_ERROR_IS_FATAL ANY)

set(kept ./ ${PAGE_FILES} js/page.js icon.svg wavywall-core.js wavywall-core.wasm)
set(digests "")
set(quoted "")
foreach(file IN LISTS kept)
    if(NOT file STREQUAL "./")
        file(SHA256 ${WEB_DIR}/${file} digest)
        string(APPEND digests "${file}:${digest}\n")
    endif()
    list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 WEB_VERSION)
list(JOIN quoted ", " WEB_FILES)
configure_file(${SOURCE_DIR}/sw.js.in ${WEB_DIR}/sw.js @ONLY)
