# phonotab_embed_text(TARGET_SOURCE_VAR INPUT SYMBOL)
# Turns a text file into a C++ source that defines
#   extern const unsigned char SYMBOL[];  extern const unsigned long SYMBOL_size;
# so that built-in data (the Russian string table) needs no file at run time.
function(phonotab_embed_text out_var input symbol)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedTextScript.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedTextScript.cmake
    COMMENT "Embedding ${input}")
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()
