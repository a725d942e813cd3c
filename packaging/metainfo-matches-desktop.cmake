# cmake -DDESKTOP=<quadrel.desktop> -DMETAINFO=<metainfo.xml> -P metainfo-matches-desktop.cmake
# Fails unless the desktop entry and the AppStream metainfo give the same name, summary (English
# and Italian), icon, categories and media types (MimeType, <mediatype>).
file(READ ${DESKTOP} desktop)
file(READ ${METAINFO} metainfo)

# desktop_value(<out> <key>): the value of key= in the desktop entry ("[" and "]" escaped in key).
function(desktop_value out key)
    string(REGEX MATCH "\n${key}=([^\n]*)" _ "\n${desktop}")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
# metainfo_value(<out> <regex>): the first group of regex in the metainfo.
function(metainfo_value out regex)
    string(REGEX MATCH "${regex}" _ "${metainfo}")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

desktop_value(name Name)
desktop_value(comment Comment)
desktop_value(comment_it "Comment\\[it\\]")
desktop_value(icon Icon)
desktop_value(categories Categories)
desktop_value(mediatypes MimeType)
metainfo_value(m_name "<name>([^<]*)</name>")
metainfo_value(m_summary "<summary>([^<]*)</summary>")
metainfo_value(m_summary_it "<summary xml:lang=\"it\">([^<]*)</summary>")
metainfo_value(m_icon "<icon type=\"stock\">([^<]*)</icon>")
string(REGEX MATCHALL "<category>[^<]*</category>" m_categories "${metainfo}")
string(REGEX REPLACE "</?category>" "" m_categories "${m_categories}")
string(APPEND m_categories ";")
string(REGEX MATCHALL "<mediatype>[^<]*</mediatype>" m_mediatypes "${metainfo}")
string(REGEX REPLACE "</?mediatype>" "" m_mediatypes "${m_mediatypes}")
string(APPEND m_mediatypes ";")

foreach(pair name:m_name comment:m_summary comment_it:m_summary_it icon:m_icon
             categories:m_categories mediatypes:m_mediatypes)
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 d)
    list(GET pair 1 m)
    if(NOT "${${d}}" STREQUAL "${${m}}" OR "${${d}}" STREQUAL "")
        message(SEND_ERROR "desktop entry ${d} '${${d}}' differs from metainfo '${${m}}'")
    endif()
endforeach()
