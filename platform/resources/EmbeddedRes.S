/* The compiled resource script, embedded as the program module's resource section. */
    .section .rodata
    .balign 16
    .global platform_embedded_res
    .global platform_embedded_res_end
platform_embedded_res:
    .incbin MEMORY_RES_PATH
platform_embedded_res_end:
    .byte 0
    .section .note.GNU-stack,"",@progbits
