# Runs one fuzzer for a short fixed time on a fresh copy of its corpus (-DFUZZER, -DCORPUS,
# -DWORK): libFuzzer adds the inputs it finds to the folder it is given, and the checked-in
# seeds must stay as they are. A crash input lands in WORK, to be kept as a seed by hand.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
file(GLOB seeds ${CORPUS}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)
execute_process(
    COMMAND ${FUZZER} -max_total_time=10 -runs=10000000 -timeout=10 -rss_limit_mb=4096
            -artifact_prefix=${WORK}/ -print_final_stats=1 ${WORK}/corpus
    WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${rc}); the input is in ${WORK}")
endif()
