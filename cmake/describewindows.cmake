# Turns the one description of the windows (ui/windows.json) into what each
# front end reads as C++: a header of constants for the desktop and the core
# (HEADER); the page's bundler reads the JSON itself (web/js/windows.js). Run
# as a script:
#   cmake -DDESCRIPTION=ui/windows.json -DHEADER=out.h -P describewindows.cmake
# In the header an object becomes a struct of constants with its key as its
# name (a struct, not a namespace, so that it can be a template argument), a
# string a std::u16string_view, a number an int or a double, true or false a
# bool, an array of four numbers a TwipRect, an array of strings a std::array
# of them, and an array of objects a std::array of a struct named after the
# key (lines: Line) whose fields are the members.
file(READ ${DESCRIPTION} description)

function(cxx_string out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    set(${out} "u\"${text}\"" PARENT_SCOPE)
endfunction()

# The C++ type and initializer of one JSON value.
function(cxx_value type_out value_out json key)
    string(JSON kind TYPE "${json}" ${key})
    string(JSON value GET "${json}" ${key})
    if(kind STREQUAL "STRING")
        cxx_string(value "${value}")
        set(type std::u16string_view)
    elseif(kind STREQUAL "BOOLEAN")
        # string(JSON) gives a boolean as ON or OFF.
        set(type bool)
        if(value)
            set(value true)
        else()
            set(value false)
        endif()
    elseif(kind STREQUAL "NUMBER")
        set(type double)
        if(value MATCHES "^-?[0-9]+$")
            set(type int)
        endif()
    elseif(kind STREQUAL "ARRAY")
        string(JSON count LENGTH "${json}" ${key})
        string(JSON first TYPE "${json}" ${key} 0)
        set(items "")
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            string(JSON item GET "${json}" ${key} ${i})
            if(first STREQUAL "STRING")
                cxx_string(item "${item}")
            endif()
            list(APPEND items "${item}")
        endforeach()
        list(JOIN items ", " value)
        set(value "{${value}}")
        if(first STREQUAL "NUMBER" AND count EQUAL 4)
            set(type TwipRect)
        elseif(first STREQUAL "STRING")
            set(type "std::array<std::u16string_view, ${count}>")
        else()
            message(FATAL_ERROR "${DESCRIPTION}: ${key} is not a rectangle or a list of texts")
        endif()
    else()
        message(FATAL_ERROR "${DESCRIPTION}: ${key} has no C++ form")
    endif()
    set(${type_out} ${type} PARENT_SCOPE)
    set(${value_out} "${value}" PARENT_SCOPE)
endfunction()

# A list of objects: a struct with their members as fields, and the list.
function(cxx_table out json key qualifier)
    string(SUBSTRING ${key} 0 1 initial)
    string(TOUPPER ${initial} initial)
    string(REGEX REPLACE "^.(.*)s$" "${initial}\\1" row ${key})
    string(JSON count LENGTH "${json}" ${key})
    string(JSON first GET "${json}" ${key} 0)
    string(JSON fields LENGTH "${first}")
    math(EXPR last_field "${fields} - 1")
    set(text "struct ${row} {\n")
    foreach(f RANGE ${last_field})
        string(JSON field MEMBER "${first}" ${f})
        cxx_value(type value "${first}" ${field})
        string(APPEND text "    ${type} ${field};\n")
    endforeach()
    string(APPEND text "};\n${qualifier} std::array<${row}, ${count}> ${key}{{\n")
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        string(JSON item GET "${json}" ${key} ${i})
        set(values "")
        foreach(f RANGE ${last_field})
            string(JSON field MEMBER "${first}" ${f})
            cxx_value(type value "${item}" ${field})
            list(APPEND values "${value}")
        endforeach()
        list(JOIN values ", " values)
        string(APPEND text "    {${values}},\n")
    endforeach()
    string(APPEND text "}};\n")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(cxx_members out json qualifier)
    string(JSON members LENGTH "${json}")
    set(text "")
    math(EXPR last "${members} - 1")
    foreach(i RANGE ${last})
        string(JSON key MEMBER "${json}" ${i})
        string(JSON kind TYPE "${json}" ${key})
        set(table FALSE)
        if(kind STREQUAL "ARRAY")
            string(JSON first TYPE "${json}" ${key} 0)
            if(first STREQUAL "OBJECT")
                set(table TRUE)
            endif()
        endif()
        if(kind STREQUAL "OBJECT")
            string(JSON inner GET "${json}" ${key})
            cxx_members(body "${inner}" "static constexpr")
            string(PREPEND body "static constexpr std::u16string_view name = u\"${key}\";\n")
            string(APPEND text "struct ${key} {\n${body}};\n")
        elseif(table)
            cxx_table(body "${json}" ${key} "${qualifier}")
            string(APPEND text "${body}")
        else()
            cxx_value(type value "${json}" ${key})
            if(NOT value MATCHES "^{")
                set(value " = ${value}")
            endif()
            string(APPEND text "${qualifier} ${type} ${key}${value};\n")
        endif()
    endforeach()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(notice "Generated from ui/windows.json by cmake/describewindows.cmake: edit the description, not this file.")

cxx_members(body "${description}" "inline constexpr")
file(CONFIGURE OUTPUT ${HEADER} @ONLY CONTENT [=[// @notice@
#pragma once

#include <array>
#include <string_view>

namespace wavywall::windows {

/// Left, top, width and height of a control's outer rectangle, in twips
/// (1/1440 inch), within its container's inner area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

@body@
} // namespace wavywall::windows
]=])
