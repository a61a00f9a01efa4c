# Fails unless EXE is what ships: the expected subsystem (GUI or console), a version
# resource with the release's version and its own file name, an embedded manifest
# that asks for no elevation, and the plain sections a linker writes: a packed
# (compressed) program has sections of its packer's and trips antivirus heuristics.
#   cmake -DEXE=x.exe -DNAME=x -DSUBSYSTEM="Windows GUI" -DVERSION=3.12.2023
#         -DOBJDUMP=... -DWINDRES=... -P pe_properties_test.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "no such program: ${EXE}")
endif()
set(problems)

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
execute_process(COMMAND "${OBJDUMP}" -h "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE rc2)
if(NOT rc EQUAL 0 OR NOT rc2 EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${EXE}")
endif()
if(NOT dump MATCHES "Subsystem[ \t]+[0-9a-f]+[ \t]+\\(${SUBSYSTEM}\\)")
  string(REGEX MATCH "\nSubsystem[^\n]*" found "${dump}")
  string(STRIP "${found}" found)
  list(APPEND problems "not a ${SUBSYSTEM} program: ${found}")
endif()
# Section lines of objdump -h: "  0 .text  00051fc0 ...".
string(REGEX MATCHALL "\n +[0-9]+ [^ ]+" sections "${headers}")
set(linker_sections .text .data .rdata .pdata .xdata .bss .idata .CRT .tls .rsrc .reloc .edata)
foreach(s IN LISTS sections)
  string(REGEX REPLACE "^\n +[0-9]+ " "" s "${s}")
  if(NOT s IN_LIST linker_sections)
    list(APPEND problems "unexpected section ${s} (debug information, or a packer's?)")
  endif()
endforeach()

# windres reads a program's resources back as resource script text.
execute_process(COMMAND "${WINDRES}" -i "${EXE}" -O rc OUTPUT_VARIABLE res RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  list(APPEND problems "no resources could be read")
endif()
foreach(value "FileVersion\", \"${VERSION}\"" "ProductVersion\", \"${VERSION}\""
              "OriginalFilename\", \"${NAME}.exe\"")
  string(FIND "${res}" "VALUE \"${value}" at)
  if(at EQUAL -1)
    list(APPEND problems "version resource lacks ${value}")
  endif()
endforeach()
if(NOT res MATCHES "RT_MANIFEST[^\n]*\nBEGIN[^\n]*\n[^E]*requestedExecutionLevel level=\"\"asInvoker\"\"")
  list(APPEND problems "no embedded manifest with asInvoker")
endif()

if(problems)
  string(REPLACE ";" "\n  " shown "${problems}")
  message(FATAL_ERROR "${EXE}:\n  ${shown}")
endif()
