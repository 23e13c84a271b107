# How the runners start korvane-replay: a Windows build runs under EMULATOR (Wine), which sees
# the host's absolute paths on drive Z: and prints its lines ended with CR LF.

# Sets out to the command line that runs korvane-replay (REPLAY) with the arguments given.
function(replay_command out)
  set(command ${REPLAY})
  if(EMULATOR)
    set(command ${EMULATOR} ${REPLAY})
  endif()
  foreach(argument ${ARGN})
    if(EMULATOR AND argument MATCHES "^/")
      set(argument "Z:${argument}")
    endif()
    list(APPEND command ${argument})
  endforeach()
  set(${out} ${command} PARENT_SCOPE)
endfunction()

# The transcript in variable name, with its lines ended as the expected files end them.
function(plain_lines name)
  if(EMULATOR)
    string(REPLACE "\r\n" "\n" text "${${name}}")
    set(${name} "${text}" PARENT_SCOPE)
  endif()
endfunction()
