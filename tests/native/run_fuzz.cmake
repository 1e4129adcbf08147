# Runs a fuzzer for a bounded time on a fresh copy of its seed corpus.
# Inputs: FUZZER, SEEDS, WORK, SECONDS.
file(REMOVE_RECURSE ${WORK}/corpus)
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)

execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=2048 -timeout=10
          -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  get_filename_component(name ${FUZZER} NAME)
  message(FATAL_ERROR "${name} failed (${result}); see ${WORK}/artifacts")
endif()
