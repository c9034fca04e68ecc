# Shared pieces of the Wine benchmarks. Sourced, not run.

# A 易乐游 workstation.db of N clients in 10.0.0.0/8.
#   make_workstation_list FILE N
make_workstation_list() {
  sqlite3 "$1" "create table workstation(computer text, ip text, mac text, subnetmask text,
    gateway text, dns text);
    with recursive n(i) as (select 1 union all select i + 1 from n where i < $2)
    insert into workstation select printf('PC%06d', i), printf('10.%d.%d.%d', i / 65536, i / 256 % 256, i % 256),
      printf('00-11-22-%02X-%02X-%02X', i / 65536, i / 256 % 256, i % 256), '255.0.0.0', '10.0.0.1',
      '8.8.8.8,114.114.114.114' from n;"
}

# Wall time in ms of one `tlconv.exe show LIST` with its output to OUT.
#   show_ms TLCONV_EXE LIST OUT
show_ms() {
  local start end
  start=$(date +%s%N)
  /usr/lib/wine/wine64 "$1" show "$2" >"$3" 2>/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# The median of the whole numbers given (the mean of the middle two for an
# even count): one run slowed by the machine moves it little.
#   median N...
median() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# One row of the benchmark table from two wall times in ms.
#   table_row OPERATION FIGURE_MS REFERENCE REFERENCE_MS
table_row() {
  python3 -c "import sys; f, r = int(sys.argv[2]), int(sys.argv[4]); print('| %s | %d ms | %s | %d ms | %.1f× |' % (sys.argv[1], f, sys.argv[3], r, f / max(r, 1)))" "$@"
}
