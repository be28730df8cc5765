# Runs tilecrest-sim for the expert's figures and checks them against their
# goals: over 10 million turns a mean within 0.02 of 11.158 and all nine
# shut within 0.05 points of 7.09%; over 1 million head-to-head rounds
# against Classic a Mark in at least 58% of rounds.
function(run)
  execute_process(COMMAND ${SIM} ${ARGN} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "tilecrest-sim ${ARGN} failed: ${rc}")
  endif()
  message("${out}")
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(check what value low high)
  if(value LESS low OR value GREATER high)
    message(FATAL_ERROR "${what} ${value} outside ${low}..${high}")
  endif()
  message("${what} ${value}: within ${low}..${high}")
endfunction()

run(--rudi expert --turns 10000000 --seed 20261207)
string(REGEX MATCH "shut all nine: ([0-9.]+)%" _ "${out}")
check("shut rate" ${CMAKE_MATCH_1} 7.04 7.14)
string(REGEX MATCH "mean round score: ([0-9.]+)" _ "${out}")
check("mean" ${CMAKE_MATCH_1} 11.138 11.178)

run(--head-to-head expert classic --rounds 1000000 --seed 20261207)
string(REGEX MATCH "seat A \\(expert\\): Mark in ([0-9.]+)%" _ "${out}")
check("expert Mark share" ${CMAKE_MATCH_1} 58 100)

run(--head-to-head expert classic --rounds 1000000 --seed 20261207 --ignore-lowest)
run(--rudi classic --turns 10000000 --seed 20261207)
