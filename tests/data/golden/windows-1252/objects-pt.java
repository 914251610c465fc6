// Criação dos Objetos
private JLabel JLabel1 = new JLabel("Ação:");
private JButton JButton1 = new JButton("“Confirmar”");
private JTextField JTextField1 = new JTextField("R$ 1.000,00 • £ ¥ © ® ½");
private JList JList1 = new JList();
private JScrollPane jScrollPane1 = new JScrollPane();

// Cria a Janela
this.getContentPane().setLayout(null);
this.setSize(350, 250);
this.setTitle("Configuração — Opções");
this.setResizable(false);
this.setModal(true);

// Cria os Controles na Janela
JLabel1.setToolTipText("Código €");
JLabel1.setBounds(new Rectangle(10, 10, 80, 13));
this.getContentPane().add(JLabel1, null);
JButton1.setToolTipText("Olá ‘mundo’ … ÿ");
JButton1.setBounds(new Rectangle(10, 40, 120, 30));
this.getContentPane().add(JButton1, null);
JButton1.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Chamada ao Procedimento
}});
JTextField1.setBounds(new Rectangle(10, 80, 100, 21));
this.getContentPane().add(JTextField1, null);
JList1.setToolTipText("Não há itens");
jScrollPane1.setBounds(new Rectangle(150, 10, 100, 100));
jScrollPane1.getViewport().add(JList1, null);
this.getContentPane().add(jScrollPane1, null);
JList1.addFocusListener (new FocusAdapter() {
  public void focusGained(FocusEvent e) {
    // Chamada ao Procedimento
}});
