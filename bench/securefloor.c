/* The floor under a secure delete on this machine: the steps Varnolt takes for each file, done by a
 * native Linux program with 8 threads: open, 11 writes of 102,400 bytes, fsync, ftruncate to 0,
 * rename to a name of the same length, unlink, close.
 *   securefloor TREE free      every step in the calling thread
 *   securefloor TREE server    ftruncate, rename and unlink (and the open) under one lock, as
 *                              Wine's single-threaded server does them for every process
 * Prints the seconds taken (the listing of TREE excluded) and the files done. */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#define THREADS 8
#define CHUNK 102400
#define CHUNKS 11

static char **files;
static size_t count, next, done;
static int serialize;
static pthread_mutex_t take = PTHREAD_MUTEX_INITIALIZER, server = PTHREAD_MUTEX_INITIALIZER;

static void list(const char *folder) {
    DIR *dir = opendir(folder);
    struct dirent *entry;
    if (!dir) return;
    while ((entry = readdir(dir))) {
        char path[4096];
        if (entry->d_name[0] == '.') continue;
        snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
        if (entry->d_type == DT_DIR) {
            list(path);
            continue;
        }
        files = realloc(files, (count + 1) * sizeof *files);
        files[count++] = strdup(path);
    }
    closedir(dir);
}

static void server_call(int enter) {
    if (serialize) (enter ? pthread_mutex_lock : pthread_mutex_unlock)(&server);
}

static int destroy(const char *path, const char *chunk, unsigned *seed) {
    char target[4096];
    const char *slash = strrchr(path, '/');
    size_t folder = (size_t)(slash - path) + 1, i;
    int fd, ok = 1;
    server_call(1);
    fd = open(path, O_WRONLY | O_NOFOLLOW);
    server_call(0);
    if (fd < 0) return 0;
    for (i = 0; i < CHUNKS && ok; ++i) ok = write(fd, chunk, CHUNK) == CHUNK;
    ok = ok && fsync(fd) == 0;
    memcpy(target, path, strlen(path) + 1);
    for (i = folder; target[i]; ++i) target[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[rand_r(seed) % 36];
    server_call(1);
    ok = ok && ftruncate(fd, 0) == 0;
    ok = ok && rename(path, target) == 0;
    ok = ok && unlink(target) == 0;
    server_call(0);
    close(fd);
    return ok;
}

static void *work(void *arg) {
    static char chunk[CHUNK];
    unsigned seed = (unsigned)(size_t)arg;
    memset(chunk, 0x41, sizeof chunk);
    for (;;) {
        size_t mine;
        int ok;
        pthread_mutex_lock(&take);
        mine = next++;
        pthread_mutex_unlock(&take);
        if (mine >= count) return NULL;
        ok = destroy(files[mine], chunk, &seed);
        pthread_mutex_lock(&take);
        done += ok;
        pthread_mutex_unlock(&take);
    }
}

int main(int argc, char **argv) {
    pthread_t threads[THREADS];
    struct timespec start, end;
    int i;
    if (argc != 3) {
        fprintf(stderr, "usage: securefloor TREE free|server\n");
        return 2;
    }
    serialize = strcmp(argv[2], "server") == 0;
    list(argv[1]);
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (i = 0; i < THREADS; ++i) pthread_create(&threads[i], NULL, work, (void *)(size_t)(i + 1));
    for (i = 0; i < THREADS; ++i) pthread_join(threads[i], NULL);
    clock_gettime(CLOCK_MONOTONIC, &end);
    printf("%.3f %zu\n", (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9, done);
    return done == count ? 0 : 1;
}
