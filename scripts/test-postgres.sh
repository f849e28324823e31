#!/usr/bin/env bash
# A throwaway PostgreSQL server on 127.0.0.1 for the test run.
#   source scripts/test-postgres.sh   -> starts it, exports BUNLINE_TEST_PG,
#                                        and stops it when the shell exits.
set -euo pipefail

pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$pg_bin" ]; then
    echo "test-postgres: no PostgreSQL server installed (run scripts/install-deps.sh)" >&2
    return 1 2>/dev/null || exit 1
fi

bunline_pg_dir=$(mktemp -d /tmp/bunline-pg.XXXXXX)
bunline_pg_port=55433
while (exec 3<>/dev/tcp/127.0.0.1/$bunline_pg_port) 2>/dev/null; do
    bunline_pg_port=$((bunline_pg_port + 1))
done

# The server refuses to run as root; run it as the postgres system user then.
bunline_pg_as() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}
[ "$(id -u)" -eq 0 ] && chown postgres "$bunline_pg_dir"

bunline_pg_as "$pg_bin/initdb" -D "$bunline_pg_dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 --no-sync >/dev/null
bunline_pg_as "$pg_bin/pg_ctl" -D "$bunline_pg_dir/data" -l "$bunline_pg_dir/server.log" -w \
    -o "-p $bunline_pg_port -k $bunline_pg_dir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null

bunline_pg_stop() {
    bunline_pg_as "$pg_bin/pg_ctl" -D "$bunline_pg_dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$bunline_pg_dir"
}
trap bunline_pg_stop EXIT

psql_admin=(psql -q -h 127.0.0.1 -p "$bunline_pg_port" -U postgres -v ON_ERROR_STOP=1)
"${psql_admin[@]}" -d postgres -c "CREATE DATABASE bunline_test" >/dev/null
# Created once here, so that test programs running side by side never race to
# create them: citext in both databases, and the link from the workstation's
# database to the central one of the synchronisation tests.
"${psql_admin[@]}" -d postgres -c "CREATE DATABASE bunline_central" >/dev/null
"${psql_admin[@]}" -d bunline_test -c "CREATE EXTENSION IF NOT EXISTS citext SCHEMA public" >/dev/null
"${psql_admin[@]}" -d bunline_test -c "CREATE EXTENSION IF NOT EXISTS postgres_fdw" >/dev/null
"${psql_admin[@]}" -d bunline_central -c "CREATE EXTENSION IF NOT EXISTS citext SCHEMA public" >/dev/null

export BUNLINE_TEST_PG="Driver=PostgreSQL;Host=127.0.0.1;Port=$bunline_pg_port;Database=bunline_test;User=postgres"
echo "test-postgres: PostgreSQL on 127.0.0.1:$bunline_pg_port"
