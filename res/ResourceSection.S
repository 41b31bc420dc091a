/* The compiled resource script, embedded in the program as its resource section: the
   platform finds it by the section's name, as the platform finds a module's resources. */
    .section program_resources,"a"
    .balign 16
    .incbin MEMORY_RES_PATH
    .section .note.GNU-stack,"",@progbits
