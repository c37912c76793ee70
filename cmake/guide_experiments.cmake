# The "Try it yourself" experiments of docs/drawing.md, for the builds that make a viewer of each:
# the tests' patched viewers and the browser lab's.
set(GUIDE ${PROJECT_SOURCE_DIR}/docs/drawing.md)
set(GUIDE_EXPERIMENTS_TOOL ${PROJECT_SOURCE_DIR}/tools/guide-experiments.sh)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${GUIDE})

# Sets `out` to the experiments, each "NAME|FILES|INPUT" as tools/guide-experiments.sh lists them.
function(guide_experiments out)
  execute_process(COMMAND sh ${GUIDE_EXPERIMENTS_TOOL} list
    OUTPUT_VARIABLE experiments OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" experiments "${experiments}")
  set(${out} ${experiments} PARENT_SCOPE)
endfunction()

# Reads one listed experiment into NAME, FILES (a list) and INPUT (a list of words) in the
# caller's scope.
macro(guide_experiment_fields experiment)
  string(REPLACE "|" ";" fields "${experiment}|")
  list(GET fields 0 NAME)
  list(GET fields 1 FILES)
  list(GET fields 2 INPUT)
  separate_arguments(FILES UNIX_COMMAND "${FILES}")
  separate_arguments(INPUT UNIX_COMMAND "${INPUT}")
endmacro()

# Sets `out` to the files experiment `name` changes, patched in `copy` at build time as the
# reader would patch them, and `main` to the viewer's main.cpp, patched there or as it is.
# Built before the viewer's libraries, a patched file's object comes first on the link, so the
# linker takes none of theirs for the symbols it defines. A patch that no longer applies fails
# the build, naming the experiment.
function(guide_patched_sources name files copy out main)
  set(patched)
  set(sources)
  set(${main} ${PROJECT_SOURCE_DIR}/src/app/main.cpp PARENT_SCOPE)
  foreach(file IN LISTS files)
    if(NOT file MATCHES "^src/.*\\.cpp$")
      message(FATAL_ERROR "docs/drawing.md: the patch of ${name} changes ${file}: only the "
        "viewer's .cpp files can be tried")
    endif()
    if(file STREQUAL "src/app/main.cpp")
      set(${main} ${copy}/${file} PARENT_SCOPE)
    else()
      list(APPEND patched ${copy}/${file})
    endif()
    list(APPEND outputs ${copy}/${file})
    list(APPEND sources ${PROJECT_SOURCE_DIR}/${file})
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND sh ${GUIDE_EXPERIMENTS_TOOL} apply ${name} ${copy}
    DEPENDS ${GUIDE} ${sources} ${GUIDE_EXPERIMENTS_TOOL}
    COMMENT "Applying the patch of ${name} from docs/drawing.md")
  set(${out} ${patched} PARENT_SCOPE)
endfunction()
