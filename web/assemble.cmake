# Gathers the page in WEB_DIR, which then holds exactly what a visit loads:
# the page's files (PAGE_FILES) from SOURCE_DIR, with the plots' light yellow
# of the description of the windows (DESCRIPTION) written in where they say
# @lightYellow@; the icon; the page's modules bundled by ESBUILD into
# js/page.js, the description and the core's loader from CORE_DIR in it; the
# core (wavywall-core.wasm) from CORE_DIR; and the service worker with the
# list of everything it keeps for offline use and a cache name made from a
# digest of all of it.
file(READ ${DESCRIPTION} description)
string(JSON lightYellow GET "${description}" lightYellow)
# The manifest's icon is the page's icon, written into the manifest as a
# data: URL (@iconDataUrl@): a browser that reads the manifest (Chromium,
# which checks that the page can be installed) then asks for icon.svg no
# second time beside the page's own icon link. Percent-encoded, so that it is
# a valid URL and JSON string alike.
file(READ ${ICON} iconDataUrl)
foreach(from_to "%|%25" "#|%23" "\"|%22" "<|%3C" ">|%3E" " |%20" "\n|%0A")
    string(REPLACE "|" ";" from_to "${from_to}")
    list(GET from_to 0 from)
    list(GET from_to 1 to)
    string(REPLACE "${from}" "${to}" iconDataUrl "${iconDataUrl}")
endforeach()
string(PREPEND iconDataUrl "data:image/svg+xml,")
file(REMOVE_RECURSE ${WEB_DIR}/js)
foreach(file IN LISTS PAGE_FILES)
    configure_file(${SOURCE_DIR}/${file} ${WEB_DIR}/${file} @ONLY)
endforeach()
configure_file(${ICON} ${WEB_DIR}/icon.svg COPYONLY)
configure_file(${CORE_DIR}/wavywall-core.wasm ${WEB_DIR}/wavywall-core.wasm COPYONLY)
# The loader is part of the page's script, so that taking the compiled core
# over waits for no module to be fetched (js/core.js); a folder built before
# that may still hold it as a file of its own.
file(REMOVE ${WEB_DIR}/wavywall-core.js)
execute_process(
    COMMAND ${ESBUILD} ${SOURCE_DIR}/js/main.js --bundle --minify --format=esm --log-level=warning
        --alias:wavywall-core=${CORE_DIR}/wavywall-core.js --outfile=${WEB_DIR}/js/page.js
    COMMAND_ERROR_IS_FATAL ANY)

set(kept ./ ${PAGE_FILES} js/page.js icon.svg wavywall-core.wasm)
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
