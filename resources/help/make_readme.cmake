# Puts the help of all five languages into one page that a web browser shows without the game,
# readme.htm: a list of the languages first, then each help in turn, with the one stylesheet in
# its head. Each help's anchors get its language code in front ("#keys" becomes "#en-keys"), so
# that a link leads to its own language's section.
#
#   cmake -DHELP_DIR=<folder> -DOUTPUT=<file> -P make_readme.cmake
#
# HELP_DIR holds help_<language>.html as the game shows them: stylesheet and variant overview
# already filled in.

# In the order the game names its languages.
set(languages de en es it fr)
set(language_names Deutsch English Español Italiano Français)

if(NOT HELP_DIR OR NOT OUTPUT)
  message(FATAL_ERROR "make_readme.cmake needs HELP_DIR and OUTPUT")
endif()

# The text of ${text} from the start of ${first} to the end of ${last}, both included.
function(cut_out text first last where result)
  string(FIND "${text}" "${first}" from)
  string(FIND "${text}" "${last}" to REVERSE)
  if(from EQUAL -1 OR to EQUAL -1 OR to LESS from)
    message(FATAL_ERROR "${where}: no ${first} ... ${last}")
  endif()
  string(LENGTH "${last}" last_length)
  math(EXPR length "${to} + ${last_length} - ${from}")
  string(SUBSTRING "${text}" ${from} ${length} piece)
  set(${result} "${piece}" PARENT_SCOPE)
endfunction()

set(contents "")
set(sections "")
foreach(language name IN ZIP_LISTS languages language_names)
  set(document "${HELP_DIR}/help_${language}.html")
  file(READ "${document}" text)
  if(NOT text MATCHES "<html lang=\"${language}\">")
    message(FATAL_ERROR "${document}: not the help in language ${language}")
  endif()
  if(NOT style)
    cut_out("${text}" "<style>" "</style>" "${document}" style)
  endif()
  cut_out("${text}" "<body>" "</body>" "${document}" body)
  string(REGEX REPLACE "^<body>\n*" "" body "${body}")
  string(REGEX REPLACE "\n*</body>$" "" body "${body}")
  string(REPLACE "<a name=\"" "<a name=\"${language}-" body "${body}")
  string(REPLACE "href=\"#" "href=\"#${language}-" body "${body}")
  string(APPEND contents "<li><a href=\"#${language}-top\" lang=\"${language}\">${name}</a></li>\n")
  if(sections)
    string(APPEND sections "\n<hr>\n\n")
  endif()
  string(APPEND sections "<div lang=\"${language}\">\n${body}\n</div>\n")
endforeach()

set(page "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Marvolen – readme</title>
${style}
</head>
<body>

<h1>Marvolen</h1>
<table class=\"box\" width=\"100%\" cellpadding=\"8\" cellspacing=\"0\"><tr><td>
<ul>
${contents}</ul>
</td></tr></table>

${sections}
</body>
</html>
")
file(WRITE "${OUTPUT}" "${page}")
