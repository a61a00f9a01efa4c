# Fails unless EXE imports nothing but Windows' own DLLs.
#   cmake -DEXE=lumora-valikko.exe -DOBJDUMP=x86_64-w64-mingw32-objdump -P imports_test.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "no such program: ${EXE}")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${EXE}"
  OUTPUT_VARIABLE dump RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed (${rc}): ${err}")
endif()

# Both the ordinary and the delay-load import tables name their DLLs this way.
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(dlls)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(APPEND dlls "${dll}")
endforeach()
list(REMOVE_DUPLICATES dlls)
if(NOT dlls)
  message(FATAL_ERROR "found no imported DLL in ${EXE}: is this a Windows program?")
endif()

# Windows' own DLLs. msvcrt.dll is the C runtime MinGW links against and is part of
# Windows; the UCRT API sets are part of Windows 10 and later.
set(system_dlls
  kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll
  ole32.dll oleaut32.dll advapi32.dll shlwapi.dll shcore.dll uxtheme.dll dwmapi.dll
  version.dll imm32.dll winmm.dll msvcrt.dll ucrtbase.dll)
set(bad)
foreach(dll IN LISTS dlls)
  if(dll IN_LIST system_dlls OR dll MATCHES "^api-ms-win-")
    continue()
  endif()
  if(dll MATCHES "^(libstdc\\+\\+|libgcc_s|libwinpthread|libgomp|libssp)")
    list(APPEND bad "${dll} (MinGW's runtime: link it statically)")
  else()
    list(APPEND bad "${dll} (not one of Windows' own DLLs)")
  endif()
endforeach()

string(REPLACE ";" ", " shown "${dlls}")
if(bad)
  string(REPLACE ";" "\n  " bad_shown "${bad}")
  message(FATAL_ERROR "${EXE} imports\n  ${bad_shown}\nAll imports: ${shown}")
endif()
message(STATUS "imports: ${shown}")
