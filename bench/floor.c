/*
 * The floor of start-up cost for lettercode's benchmarks: a C program that
 * writes the prompt with one write call and exits, linked like lettercode
 * against the C library alone. Whatever lettercode spends beyond this
 * before its first prompt is its own.
 */
#include <unistd.h>

static const char prompt[] = "Enter decimal number (0-65535):";

int
main(void)
{
	if (write(STDOUT_FILENO, prompt, sizeof prompt - 1) < 0)
		return 1;
	return 0;
}
