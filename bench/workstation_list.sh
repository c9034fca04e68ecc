# Makes the list the Wine benchmarks read: a 易乐游 workstation.db of N
# clients in 10.0.0.0/8. Sourced, not run.
#   make_workstation_list FILE N
make_workstation_list() {
  sqlite3 "$1" "create table workstation(computer text, ip text, mac text, subnetmask text,
    gateway text, dns text);
    with recursive n(i) as (select 1 union all select i + 1 from n where i < $2)
    insert into workstation select printf('PC%06d', i), printf('10.%d.%d.%d', i / 65536, i / 256 % 256, i % 256),
      printf('00-11-22-%02X-%02X-%02X', i / 65536, i / 256 % 256, i % 256), '255.0.0.0', '10.0.0.1',
      '8.8.8.8,114.114.114.114' from n;"
}
